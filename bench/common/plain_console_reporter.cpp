#include "common/plain_console_reporter.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrova::bench {

namespace {

bool standardOutputIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

} // namespace

PlainConsoleReporter::PlainConsoleReporter()
    : ConsoleReporter(standardOutputIsTerminal() ? OO_ColorTabular : OO_Tabular)
{
}

} // namespace kestrova::bench
