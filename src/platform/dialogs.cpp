#include "platform/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

#include "platform/colors.h"

QStringList qtFilters(const QString& filter)
{
    const QStringList parts = filter.split(QChar('|'));
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2) names << parts[i];
    return names;
}

QString filterExtension(const QString& nameFilter)
{
    const qsizetype open = nameFilter.indexOf(QStringLiteral("(*."));
    if (open < 0) return {};
    const qsizetype from = open + 2;
    qsizetype end = from + 1;
    while (end < nameFilter.size() && nameFilter[end] != ' ' && nameFilter[end] != ')' && nameFilter[end] != ';') ++end;
    const QString ext = nameFilter.mid(from, end - from);
    return ext.contains('*') || ext.contains('?') ? QString() : ext;  // "*.*" names no extension
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

// The extension a name without one gets: the chosen filter's, else the request's.
QString extensionFor(const FileDialogRequest& request, const QString& nameFilter)
{
    const QString own = filterExtension(nameFilter);
    return own.isEmpty() ? request.defaultExt : own;
}

// Names that do not exist are accepted, so a typed name of a missing file comes back as typed.
FileChoice runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    const QStringList filters = qtFilters(request.filter);
    QFileDialog dialog(parent, QString(), startPath(request));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const auto suffixFor = [&](const QString& nameFilter) {
        const QString ext = extensionFor(request, nameFilter);
        dialog.setDefaultSuffix(ext.mid(ext.startsWith('.') ? 1 : 0));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixFor);
    dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.value(0)));
    suffixFor(dialog.selectedNameFilter());
    keepAboveParent(&dialog, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString nameFilter = dialog.selectedNameFilter();
    const int chosenFilter = int(std::max<qsizetype>(filters.indexOf(nameFilter), 0)) + 1;
    if (!accepted) return {{}, chosenFilter};
    const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().first());
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return {withDefaultExtension(chosen, extensionFor(request, nameFilter)), chosenFilter};
}

}  // namespace

FileChoice QtDialogs::openFile(const FileDialogRequest& request)
{
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

FileChoice QtDialogs::saveFile(const FileDialogRequest& request)
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
