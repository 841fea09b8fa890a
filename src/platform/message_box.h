#pragma once
// Modal message boxes. Prompts join their lines with carriage returns; the Qt
// implementation shows each as a new line.
#include <QString>

class QWidget;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const QString& prompt, const QString& title, MsgIcon icon, MsgButtons buttons) = 0;
};

// Boxes belong to the window set by setParentWindow, so they open above it and stay
// there also while it is kept on top of other windows.
class QtMessageBoxes : public MessageBoxes {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }
    MsgAnswer show(const QString& prompt, const QString& title, MsgIcon icon, MsgButtons buttons) override;

private:
    QWidget* parent_ = nullptr;
};
