#pragma once
// File and colour choices. A cancelled file dialog returns an empty name.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QWidget;

struct FileDialogRequest {
    // "Quillon Album (*.qdb)|*.qdb", or several such pairs joined by "|"
    QString filter;
    QString defaultExt;  // ".qdb", added when the user types no extension and the filter names none
    QString initDir;     // empty: wherever the dialog was last
    // The name offered; none offers the name the file dialogs hold from their last use.
    std::optional<QString> fileName;
    bool confirmOverwrite = false;  // a save asks before an existing file is replaced
    int filterIndex = 1;            // the filter shown first, from 1
};

// What a file dialog returned: the name ("" a cancel) and the filter chosen in it, from 1.
struct FileChoice {
    QString path;
    int filterIndex = 1;
};

// The file dialogs hold one name between uses, as a user expects of one dialog: the
// name returned last, or after a cancel the name that was offered. A caller that
// offers no name of its own gets that one, so picking a file for one box proposes it
// for the next.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    QString showOpen(const FileDialogRequest& request) { return remember(openFile(withHeldName(request))); }
    QString showSave(const FileDialogRequest& request) { return remember(saveFile(withHeldName(request))); }
    // A colour as 0x00BBGGRR, or nullopt when cancelled.
    virtual std::optional<uint32_t> showColor(uint32_t initial) = 0;
    const QString& heldFileName() const { return held_; }
    // The filter the last file dialog ended with, from 1: the file type a user picked.
    int chosenFilterIndex() const { return chosenFilter_; }

protected:
    // The request always names the name offered. An empty result is a cancel.
    virtual FileChoice openFile(const FileDialogRequest& request) = 0;
    virtual FileChoice saveFile(const FileDialogRequest& request) = 0;

private:
    FileDialogRequest withHeldName(FileDialogRequest request)
    {
        if (!request.fileName) request.fileName = held_;
        held_ = *request.fileName;
        return request;
    }
    QString remember(const FileChoice& chosen)
    {
        chosenFilter_ = chosen.filterIndex;
        if (!chosen.path.isEmpty()) held_ = chosen.path;
        return chosen.path;
    }
    QString held_;
    int chosenFilter_ = 1;
};

// Dialogs belong to the window set by setParentWindow, like the message boxes.
class QtDialogs : public Dialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }
    std::optional<uint32_t> showColor(uint32_t initial) override;

protected:
    FileChoice openFile(const FileDialogRequest& request) override;
    FileChoice saveFile(const FileDialogRequest& request) override;

private:
    QWidget* parent_ = nullptr;
};

// A dialog of a window that is kept on top of others is kept on top too; otherwise
// it could open behind its own window, which would look frozen.
void keepAboveParent(QWidget* dialog, const QWidget* parent);

// "Name (*.ext)|*.ext|Other (*.o)|*.o" to Qt's name filters "Name (*.ext)", "Other (*.o)".
QStringList qtFilters(const QString& filter);
// The extension a Qt name filter's first pattern names (".ext"); "" for a wildcard or none.
QString filterExtension(const QString& nameFilter);
// Adds defaultExt when the file name has no extension.
QString withDefaultExtension(const QString& path, const QString& defaultExt);
