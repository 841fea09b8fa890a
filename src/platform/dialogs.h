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

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    QString showOpen(const FileDialogRequest& request) override;
    QString showSave(const FileDialogRequest& request) override;
    std::optional<uint32_t> showColor(uint32_t initial) override;

private:
    QWidget* parent_;
};

// "Name (*.ext)|*.ext" to Qt's "Name (*.ext)".
QString qtFilter(const QString& filter);
// Adds defaultExt when the file name has no extension.
QString withDefaultExtension(const QString& path, const QString& defaultExt);
