namespace kestrova {}
