#pragma once
// The main window of a test: remembers whether its menus are locked (and how
// often they were) and what its status labels say.
#include "store/mainwindowlink.h"

#include <QString>

class FakeMainWindow : public MainWindowLink {
public:
    bool locked = false;
    int lockCount = 0;
    QString labels[5];
    void LockMainMenus() override { locked = true; ++lockCount; }
    void UnlockMainMenus() override { locked = false; }
    void SetStatusLabel(Label label, const QString &text) override { labels[label] = text; }
    QString StatusLabel(Label label) const override { return labels[label]; }
};
