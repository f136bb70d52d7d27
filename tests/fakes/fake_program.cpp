#include "fakes/fake_program.h"

#include "program/kestrova_program.h"

namespace kestrova::testing {

FakeProgram::FakeProgram(FileLayout files, PlatformRules rules)
    : app(makeKestrova(std::move(files), Services{dialogs, shell, web, tasks}, rules))
{
    app->start();
}

void addManufacturer(Application &app, const std::string &name)
{
    auto &catalog = app.catalog();
    auto &man = catalog.Man[size_t(++catalog.LastMan)];
    man.Name = name;
    man.LastPlat = -1;
}

} // namespace kestrova::testing
