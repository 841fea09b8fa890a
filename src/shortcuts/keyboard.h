#pragma once
// The window's keyboard shortcuts. Every key press meant for the window passes
// here before the control with the focus sees it; a key that stands for a
// command gives it as the matching button or list would.
#include <QObject>

#include "shortcuts/key_actions.h"

class Form1;
class QWidget;

class KeyboardShortcuts : public QObject {
    Q_OBJECT
public:
    explicit KeyboardShortcuts(Form1& form);
    ~KeyboardShortcuts() override;

    // Runs the command, as the matching button or double-click would.
    void run(KeyAction action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyContext context(bool autoRepeat) const;
    void playSelected();
    void playMedia(KeyAction action);
    bool miniView() const;

    Form1& form;
};

// True for a control that takes typed text: an editable line, text box or number box,
// or a folder tree or choice list, which finds an entry by the letters typed.
bool takesTypedText(const QWidget* widget);
