#pragma once
// What other windows may do to the main window: lock and unlock its menus
// and set its four status labels. The main window implements it; tests use a
// fake, so no window below the main window depends on it.
#include <QString>

class MainWindowLink {
public:
    enum Label { FileNameLabel = 1, FormatLabel = 2, CountLabel = 3, DateLabel = 4 };
    virtual ~MainWindowLink() = default;
    virtual void LockMainMenus() = 0;
    virtual void UnlockMainMenus() = 0;
    virtual void SetStatusLabel(Label label, const QString &text) = 0;
    virtual QString StatusLabel(Label label) const = 0;
};
