#include "platform/qt/host.h"
#  include "web/site_hosts.h"
