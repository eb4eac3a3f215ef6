#pragma once
// A main window model over its own temporary folders, settings and scripted answers.

#include "app/main_frm.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tw::test {

class WindowFixture : public ::testing::Test {
protected:
    TempDir dir;
    ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.path()};
    SettingsStore settings{dir / "settings.ini"};
    ScriptedUi ui;
    MainFrm window{settings, ui, AppFolders{dir / "res", dir / "data"}, ""};
};

}  // namespace tw::test
