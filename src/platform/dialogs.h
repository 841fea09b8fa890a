#pragma once
// File and colour choices. A cancelled file dialog returns an empty name.
#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

struct FileDialogRequest {
    QString filter;      // one entry, "Quillon Album (*.qdb)|*.qdb"
    QString defaultExt;  // ".qdb", added when the user types no extension
    QString initDir;     // empty: wherever the dialog was last
    QString fileName;    // offered name
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual QString showOpen(const FileDialogRequest& request) = 0;
    virtual QString showSave(const FileDialogRequest& request) = 0;
    // A colour as 0x00BBGGRR, or nullopt when cancelled.
    virtual std::optional<uint32_t> showColor(uint32_t initial) = 0;
};

// Dialogs belong to the window set by setParentWindow, like the message boxes.
class QtDialogs : public Dialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }
    QString showOpen(const FileDialogRequest& request) override;
    QString showSave(const FileDialogRequest& request) override;
    std::optional<uint32_t> showColor(uint32_t initial) override;

private:
    QWidget* parent_ = nullptr;
};

// A dialog of a window that is kept on top of others is kept on top too; otherwise
// it could open behind its own window, which would look frozen.
void keepAboveParent(QWidget* dialog, const QWidget* parent);

// "Name (*.ext)|*.ext" to Qt's "Name (*.ext)".
QString qtFilter(const QString& filter);
// Adds defaultExt when the file name has no extension.
QString withDefaultExtension(const QString& path, const QString& defaultExt);
