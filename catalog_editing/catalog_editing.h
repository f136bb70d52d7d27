#pragma once

#include "catalog_editing/emulator_arguments.h"
#include "catalog_editing/list_editing.h"
#include "catalog_editing/path_dialogs.h"
#include "core/feature.h"

namespace kestrova {

/// Editing the catalog: the lists' add, remove and rename, and the path dialogs.
class CatalogEditing : public Feature
{
public:
    explicit CatalogEditing(Application &app) : m_lists(app), m_paths(app), m_arguments(app) {}

private:
    ListEditing m_lists;
    PathDialogs m_paths;
    EmulatorArguments m_arguments;
};

} // namespace kestrova
