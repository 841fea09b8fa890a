#include "form/notes_pane.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "form/layout_helpers.h"

NotesPane::NotesPane(QWidget* window) : Frame(window, QStringLiteral("Notes"))
{
    placed(this, "fmSeNotes", 240, 2100, 9435, 1155);
    setAutoFillBackground(true);  // covers the list below it
    txtSENotes = named(placed(new QPlainTextEdit(this), "txtSENotes", 120, 240, 8895, 795), "Entry notes");
    txtSENotes->setReadOnly(true);
    btnSeNotesX = placed(new QPushButton(QStringLiteral("X"), this), "btnSeNotesX", 9075, 240, 255, 255);
    hideNotes();
    connect(btnSeNotesX, &QPushButton::clicked, this, &NotesPane::btnSeNotesX_Click);
}

void NotesPane::showNotes(std::optional<int32_t> record)
{
    for (QWidget* w : std::initializer_list<QWidget*>{this, txtSENotes, btnSeNotesX}) w->show();
    raise();
    if (!record) {
        emit recordUnreadable();
        return;
    }
    txtSENotes->setPlainText(notesOf(*record));
}

void NotesPane::hideNotes()
{
    for (QWidget* w : std::initializer_list<QWidget*>{this, txtSENotes, btnSeNotesX}) w->hide();
}

void NotesPane::btnSeNotesX_Click()
{
    hideNotes();
}
