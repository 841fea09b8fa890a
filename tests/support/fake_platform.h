#pragma once
// Test doubles for the operating-system seams: a message box that records what
// it was asked to show, dialogs that return scripted answers, a window system
// and help viewer that only remember calls.
#include <QList>
#include <QQueue>
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
        return answers.isEmpty() ? MsgAnswer::Ok : answers.dequeue();
    }
    QList<ShownMessage> shown;
    QQueue<MsgAnswer> answers;
};

class ScriptedDialogs : public Dialogs {
public:
    QString showOpen(const FileDialogRequest& request) override { return next(request); }
    QString showSave(const FileDialogRequest& request) override { return next(request); }
    std::optional<uint32_t> showColor(uint32_t) override
    {
        if (colours.isEmpty()) return std::nullopt;
        return colours.dequeue();
    }
    QQueue<QString> fileAnswers;  // an empty string is a cancel
    QQueue<std::optional<uint32_t>> colours;
    QList<FileDialogRequest> requests;

private:
    QString next(const FileDialogRequest& request)
    {
        requests.append(request);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
};

class FakeWindowSystem : public WindowSystem {
public:
    void setOnTop(QWidget*, bool top) override { onTop = top; }
    void startDrag(QWidget*) override { ++drags; }
    void minimize(QWidget*) override { minimized = true; }
    bool isMinimized(const QWidget*) const override { return minimized; }
    bool onTop = false;
    bool minimized = false;
    int drags = 0;
};

class FakeHelpViewer : public HelpViewer {
public:
    bool open(const QString& helpFile) override
    {
        opened.append(helpFile);
        return true;
    }
    QStringList opened;
};
