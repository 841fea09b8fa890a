#include "album/album_files_frame.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "form/text_codec.h"
#include "logic/text.h"
#include "logic/track_record.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"

namespace {

const char* const kNoAlbumPicked = "Album database file";

// Every album dialog offers album files only; an initial folder and a name are
// given by the callers that set them.
FileDialogRequest albumDialog()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Quillon Album (*.qdb)|*.qdb");
    request.defaultExt = QStringLiteral(".qdb");
    return request;
}

QLineEdit* albumBox(QWidget* parent, const char* name, const char* accessibleName, int top)
{
    QLineEdit* box = named(placed(new QLineEdit(QString::fromLatin1(kNoAlbumPicked), parent), name, 120, top, 4080, 285),
                           accessibleName);
    box->setReadOnly(true);
    return box;
}

std::string fileBytesName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

AlbumFilesFrame::AlbumFilesFrame(Form1& owner, QWidget* optionsPage)
    : PageFrame(owner, optionsPage, QStringLiteral("Merge Album databases"))
{
    placed(this, "Frame4", 120, 3870, 4800, 1560);
    txtAlbum1 = albumBox(this, "txtAlbum1", "First album", 360);
    btnAdd1 = placed(new QPushButton(QStringLiteral("+"), this), "btnAdd1", 4320, 360, 375, 285);
    txtAlbum2 = albumBox(this, "txtAlbum2", "Second album", 780);
    btnAdd2 = placed(new QPushButton(QStringLiteral("+"), this), "btnAdd2", 4320, 780, 375, 285);
    btnMerge = placed(new QPushButton(QStringLiteral("Merge"), this), "btnMerge", 120, 1170, 1695, 300);
    barMerge = placed(new QProgressBar(this), "barMerge", 1935, 1200, 1425, 240);
    barMerge->setRange(0, 1000);
    barMerge->setFormat(QStringLiteral("%p% merged"));
    btnCancelMerge = placed(new QPushButton(QStringLiteral("Cancel"), this), "btnCancelMerge", 3480, 1170, 1215, 300);
    setMerging(false);

    connect(btnAdd1, &QPushButton::clicked, this, &AlbumFilesFrame::btnAdd1_Click);
    connect(btnAdd2, &QPushButton::clicked, this, &AlbumFilesFrame::btnAdd2_Click);
    connect(btnMerge, &QPushButton::clicked, this, &AlbumFilesFrame::btnMerge_Click);
    connect(btnCancelMerge, &QPushButton::clicked, this, &AlbumFilesFrame::btnCancelMerge_Click);
    connect(&merging_, &BackgroundRun::progressed, this, &AlbumFilesFrame::showMergeProgress);
    connect(&merging_, &BackgroundRun::ended, this, &AlbumFilesFrame::mergingEnded);
}

void AlbumFilesFrame::btnLoad_Click()
{
    FileDialogRequest request = albumDialog();
    request.initDir = QDir::currentPath();
    request.fileName = QString();
    const QString chosen = form.os.dialogs->showOpen(request);
    if (chosen.isEmpty()) return;
    openAlbum(chosen);
}

void AlbumFilesFrame::openAlbum(const QString& path)
{
    Module1& m = form.m;
    const std::string bytes = fileBytesName(path);
    // The settings and playlist files keep the album's path as a line of its own.
    if (qtext::holdsLineBreak(bytes)) {
        form.os.messages->show(QStringLiteral("The album file\r%1\rwas not loaded: its path holds a line break.\r\r"
                                              "Rename the file or its folder and try again.")
                                   .arg(toDisplay(bytes)),
                               QStringLiteral("Problem"), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    m.AlbumPath = bytes;
    m.DetailsFolder = folderOf(m.AlbumPath);
    m.TrackListIndex = 0;
    emit albumOpened();
}

bool AlbumFilesFrame::isLoadedAlbum(const QString& path) const
{
    if (form.m.AlbumPath.empty()) return false;
    const QFileInfo loaded(QFile::decodeName(QByteArray::fromStdString(form.m.AlbumPath)));
    const QFileInfo other(path);
    // The same file by another name (a link, a relative path) is the same album.
    const QString loadedFile = loaded.canonicalFilePath(), otherFile = other.canonicalFilePath();
    if (!loadedFile.isEmpty() && !otherFile.isEmpty()) return loadedFile == otherFile;
    return QDir::cleanPath(loaded.absoluteFilePath()) == QDir::cleanPath(other.absoluteFilePath());
}

void AlbumFilesFrame::pickInput(QLineEdit* box)
{
    FileDialogRequest request = albumDialog();
    request.initDir = QDir::currentPath();
    const QString chosen = form.os.dialogs->showOpen(request);
    if (!chosen.isEmpty()) box->setText(chosen);
}

void AlbumFilesFrame::btnAdd1_Click()
{
    pickInput(txtAlbum1);
}

void AlbumFilesFrame::btnAdd2_Click()
{
    pickInput(txtAlbum2);
}

void AlbumFilesFrame::reportMergeFailure(const std::string& prompt)
{
    form.os.messages->show(toDisplay(prompt), QStringLiteral("Problem"), MsgIcon::Exclamation, MsgButtons::Ok);
}

void AlbumFilesFrame::btnMerge_Click()
{
    const QString noAlbum = QString::fromLatin1(kNoAlbumPicked);
    if (isMerging() || txtAlbum1->text() == noAlbum || txtAlbum2->text() == noAlbum) return;
    const QString chosen = form.os.dialogs->showSave(albumDialog());
    if (chosen.isEmpty()) return;
    mergeOutput_ = fileBytesName(chosen);
    // The merged album goes to a new file that replaces the output only when whole, so
    // the inputs stay as they were while they are read, also when one is the output. An
    // input that cannot be read is reported, never created, and nothing is written.
    const std::string first = fileBytesName(txtAlbum1->text()), second = fileBytesName(txtAlbum2->text());
    outcome_ = {};
    written_ = FileError::None;
    mergedBytes_ = 0;
    mergeBytes_ = 0;
    barMerge->setValue(0);
    setMerging(true);
    merging_.start([this, first, second] {
        const MergeHooks hooks{[this](uint64_t done, uint64_t total) {
                                   mergeBytes_ = total;
                                   mergedBytes_ = done;
                                   merging_.notify();
                               },
                               [this] { return merging_.cancelled(); }};
        written_ = writeFileAtomicTo(mergeOutput_, [&](int fd) {
            outcome_ = mergeAlbumsInto(fd, first, second, mergeOutput_, hooks);
            return outcome_.verdict();
        });
    });
}

void AlbumFilesFrame::btnCancelMerge_Click()
{
    merging_.cancel();
    btnCancelMerge->setEnabled(false);
}

void AlbumFilesFrame::setMerging(bool running)
{
    for (QWidget* w : std::initializer_list<QWidget*>{btnAdd1, btnAdd2, btnMerge}) w->setEnabled(!running);
    btnCancelMerge->setEnabled(true);
    barMerge->setVisible(running);
    btnCancelMerge->setVisible(running);
}

void AlbumFilesFrame::showMergeProgress()
{
    const uint64_t total = mergeBytes_, done = mergedBytes_;
    if (total > 0) barMerge->setValue(int(done * 1000 / total));
    emit mergeProgressed();
}

void AlbumFilesFrame::mergingEnded()
{
    setMerging(false);
    // A cancelled merge wrote nothing and says nothing; a merge that succeeded says nothing either.
    if (!outcome_.unread.ok())
        reportMergeFailure(mergeNotReadMessage(outcome_.unread.path, failureText(outcome_.unread.error)));
    else if (written_ != FileError::None && written_ != FileError::Cancelled)
        reportMergeFailure(mergeNotWrittenMessage(mergeOutput_, failureText(written_)));
    emit mergeEnded();
}
