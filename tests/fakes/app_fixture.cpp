#include "fakes/app_fixture.h"

#include "platform/file_io.h"
#include "program/kestrova_program.h"

namespace kestrova::testing {

AppFixture::AppFixture(SystemKind kind, SiteHosts hosts) : m_kind(kind), m_hosts(std::move(hosts))
{
}

void AppFixture::writeAppFile(const std::string &relative, const std::string &bytes) const
{
    dir.write(relative, bytes);
}

std::string AppFixture::readAppFile(const std::string &relative) const
{
    return readFileBytes(dir.path() / std::filesystem::path(relative), std::uintmax_t(1) << 30).value_or("<missing>");
}

Application &AppFixture::start()
{
    m_app = makeKestrova(dir.path(), Services{dialogs, shell, web, tasks}, PlatformRules(m_kind), m_hosts);
    m_app->start();
    return *m_app;
}

} // namespace kestrova::testing
