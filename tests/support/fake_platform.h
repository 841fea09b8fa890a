#pragma once
// Test doubles for the operating-system seams: a message box that records what
// it was asked to show, dialogs that are always cancelled, a window system that
// only remembers calls and a help viewer that does nothing.
#include <QList>
#include <QStringList>
#include <QString>
#include <optional>

#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"

struct ShownMessage {
    QString prompt;
    QString title;
    MsgIcon icon;
    MsgButtons buttons;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const QString& prompt, const QString& title, MsgIcon icon, MsgButtons buttons) override
    {
        shown.append({prompt, title, icon, buttons});
        return MsgAnswer::Ok;
    }
    QList<ShownMessage> shown;
};

class CancelledDialogs : public Dialogs {
public:
    QString showOpen(const FileDialogRequest&) override { return {}; }
    QString showSave(const FileDialogRequest&) override { return {}; }
    std::optional<uint32_t> showColor(uint32_t) override { return std::nullopt; }
};

class FakeWindowSystem : public WindowSystem {
public:
    void setOnTop(QWidget*, bool) override {}
    void startDrag(QWidget*) override { ++drags; }
    void minimize(QWidget*) override { minimized = true; }
    bool isMinimized(const QWidget*) const override { return minimized; }
    bool minimized = false;
    int drags = 0;
};

class FakeHelpViewer : public HelpViewer {
public:
    bool open(const QString& helpFile) override { opened.append(helpFile); return opens; }
    bool opens = true;
    QStringList opened;
};
