#include "platform/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/colors.h"

QString qtFilter(const QString& filter)
{
    const int bar = filter.indexOf(QChar('|'));
    return bar < 0 ? filter : filter.left(bar);
}

QString withDefaultExtension(const QString& path, const QString& defaultExt)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + defaultExt;
}

void keepAboveParent(QWidget* dialog, const QWidget* parent)
{
    if (parent && parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

namespace {

QString startPath(const FileDialogRequest& request)
{
    const QString name = request.fileName.value_or(QString());
    if (name.isEmpty()) return request.initDir;
    if (QFileInfo(name).isAbsolute() || request.initDir.isEmpty()) return name;
    return QDir(request.initDir).filePath(name);
}

// Names that do not exist are accepted, so a typed name of a missing file comes back as typed.
QString runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, QString(), startPath(request), qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setDefaultSuffix(request.defaultExt.mid(request.defaultExt.startsWith('.') ? 1 : 0));
    keepAboveParent(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().first());
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return withDefaultExtension(chosen, request.defaultExt);
}

}  // namespace

QString QtDialogs::openFile(const FileDialogRequest& request)
{
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFile(const FileDialogRequest& request)
{
    return runFileDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<uint32_t> QtDialogs::showColor(uint32_t initial)
{
    QColorDialog dialog(toQColor(initial), parent_);
    keepAboveParent(&dialog, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQColor(dialog.selectedColor());
}
