#pragma once
// Test doubles for the operating-system seams: a message box that records what
// it was asked to show and answers as scripted, dialogs that are cancelled unless given answers, a window
// system that only remembers calls and places, and a help viewer that does nothing.
#include <QHash>
#include <QList>
#include <QStringList>
#include <QString>
#include <functional>
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
        if (whileOpen) whileOpen();
        return answers.isEmpty() ? MsgAnswer::Ok : answers.takeFirst();
    }
    QList<ShownMessage> shown;
    QList<MsgAnswer> answers;         // given in turn; OK when none is left
    std::function<void()> whileOpen;  // runs as if the user took this long to answer
};

struct AskedFile {
    bool save = false;
    FileDialogRequest request;  // with the name the dialog offered
};

class CancelledDialogs : public Dialogs {
public:
    std::optional<uint32_t> showColor(uint32_t) override { return colourAnswers.value(answered++); }
    QList<std::optional<uint32_t>> colourAnswers;  // in turn, nullopt a cancel; then every dialog is cancelled
    int answered = 0;
    QStringList fileAnswers;   // names the file dialogs return in turn, "" a cancel; then every one is cancelled
    QList<int> filterAnswers;  // the filter (from 1) each file dialog ends with in turn; then the one offered
    QList<AskedFile> asked;

protected:
    FileChoice openFile(const FileDialogRequest& request) override { return answer(false, request); }
    FileChoice saveFile(const FileDialogRequest& request) override { return answer(true, request); }

private:
    FileChoice answer(bool save, const FileDialogRequest& request)
    {
        asked.append({save, request});
        const int filter = filterAnswers.isEmpty() ? request.filterIndex : filterAnswers.takeFirst();
        return {fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst(), filter};
    }
};

class FakeWindowSystem : public WindowSystem {
public:
    void setOnTop(QWidget*, bool on) override { onTop = on; }
    void startDrag(QWidget*) override { ++drags; }
    void minimize(QWidget*) override { minimized = true; }
    bool isMinimized(const QWidget*) const override { return minimized; }
    QPoint position(const QWidget* window) const override { return places.value(window); }
    void move(QWidget* window, QPoint topLeft) override { places[window] = topLeft; }
    QList<QRect> screens() const override { return {QRect(0, 0, 1920, 1080)}; }
    bool minimized = false;
    bool onTop = false;
    int drags = 0;
    QHash<const QWidget*, QPoint> places;  // where each window stands; a drag is a write here
};

class FakeHelpViewer : public HelpViewer {
public:
    bool open(const QString& helpFile) override
    {
        opened.append(helpFile);
        return opens;
    }
    bool opens = true;
    QStringList opened;
};
