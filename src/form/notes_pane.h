#pragma once
// The notes pane the Playlist and Search pages show over their lists: one entry's
// notes, closed with its "X".
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "form/widgets.h"

class QPlainTextEdit;
class QPushButton;

class NotesPane : public Frame {
    Q_OBJECT
public:
    explicit NotesPane(QWidget* window);

    QPlainTextEdit* txtSENotes;
    QPushButton* btnSeNotesX;

    // Makes a record the current track and gives its notes as the Track List page shows them.
    std::function<QString(int32_t record)> notesOf;

    // Shows the pane with a record's notes; with no record (its entry could not be
    // read), the pane keeps its text and recordUnreadable() is emitted.
    void showNotes(std::optional<int32_t> record);
    void hideNotes();
    void btnSeNotesX_Click();

signals:
    void recordUnreadable();
};
