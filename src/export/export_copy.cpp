// Running an export: the checks and questions on the window's thread, then the copying
// on a thread of its own, and what the window shows of it.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cerrno>

#include "export/export_frame.h"
#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/export_files.h"
#include "logic/playlist.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"

namespace {

MsgAnswer ask(Form1& form, const char* prompt, const char* title, MsgButtons buttons)
{
    return form.os.messages->show(QString::fromLatin1(prompt), QString::fromLatin1(title), MsgIcon::Question, buttons);
}

void tell(Form1& form, const ExportMessage& message, MsgIcon icon)
{
    form.os.messages->show(toDisplay(message.prompt), toDisplay(message.title), icon,
                           message.okCancel ? MsgButtons::OkCancel : MsgButtons::Ok);
}

}  // namespace

void ExportFrame::btnOk_Click()
{
    if (copying_.running()) return;
    // The playlist is read once, here; selecting its lines as the export goes reads it anew.
    const FileRead playlist = readRegularFile(page_->playlistPath(), kMaxPlaylistBytes);
    if (!playlist.ok()) return fail({playlist.error, 0}, true, form.m.AppFolder);
    if (playlist.truncated) return fail(osFailure(EFBIG), true, form.m.AppFolder);
    ExportPlan plan = planExport(playlist.bytes, form.m.Album, form.m.DetailsFolder, "", chkDetails->isChecked());
    if (plan.items.empty()) return fail({FileError::PastEnd, 0}, true, "");
    const ExportItem& first = plan.items.front();
    const OsFailure source = first.unreadable != FileError::None ? OsFailure{first.unreadable, 0}
                                                                 : checkReadable(first.source);
    if (source.failed()) return fail(source, true, first.sourceFolder);
    plan.folder = prepareFolder(plan);
    if (plan.folder.empty()) return;
    plan_ = std::move(plan);
    startCopying();
}

std::string ExportFrame::prepareFolder(const ExportPlan& plan)
{
    const ExportName name = checkExportName(QFile::encodeName(txtExportName->text()).toStdString());
    if (name.check != NameCheck::Ok) {
        tell(form, exportNameMessage(name), MsgIcon::Exclamation);
        return {};
    }
    const std::string folder = QFile::encodeName(highlightedFolder()).toStdString() + "/" + name.name;
    OsFailure made;
    if (pathExists(folder)) {
        // Emptying it would delete the very files to be exported.
        std::vector<std::string> sources;
        for (const ExportItem& item : plan.items) sources.push_back(item.source);
        if (holdsASource(folder, sources)) {
            form.os.messages->show(QStringLiteral("The Export folder holds MP3 files of the playlist.\r"
                                                  "Choose another folder for export"),
                                   QStringLiteral("Export error"), MsgIcon::Exclamation, MsgButtons::Ok);
            return {};
        }
        if (ask(form,
                "Export folder already exists.\rClick Yes to erase the contents of the folder\r"
                "or No to choose another export folder name.",
                "Export error", MsgButtons::YesNo)
            != MsgAnswer::Yes)
            return {};
        if (ask(form, "Delete all existing files?\r", "Ok to Delete?", MsgButtons::OkCancel) != MsgAnswer::Ok)
            return {};
        made = removeMp3Files(folder);
    } else {
        made = createFolder(folder);
    }
    if (!made.failed()) return folder;
    fail(made, false, "");
    return {};
}

void ExportFrame::startCopying()
{
    outcome_ = {};
    started_ = 0;
    shownEntries_ = 0;
    barExport->setRange(0, int(plan_.items.size()));
    barExport->setValue(0);
    setRunning(true);
    copying_.start([this] {
        const ExportHooks hooks{[this](size_t entry) { entryStarted(entry); }, [this] { return copying_.cancelled(); }};
        const FileError committed = writeFileAtomic(plan_.folder + "/details.txt", [&](const WritePiece& write) {
            outcome_ = runExport(
                plan_, [&](std::string_view piece) { return write(piece) ? OsFailure{} : osFailure(errno); }, hooks);
            return true;  // the index so far stays, whatever ended the export
        });
        if (committed != FileError::None && !outcome_.failure.failed()) outcome_ = {{committed, 0}, false, 0, 0, false};
        // Lists the copies made, so the folder plays in order on other players too.
        const FileError listed = writeFileAtomic(plan_.folder + "/playlist.m3u8", exportPlaylist(plan_, outcome_.done));
        if (listed != FileError::None && !outcome_.failure.failed()) outcome_ = {{listed, 0}, false, 0, 0, false};
    });
}

void ExportFrame::entryStarted(size_t entry)
{
    started_ = entry + 1;
    copying_.notify();
}

void ExportFrame::showStartedEntries()
{
    const size_t started = std::min<size_t>(started_, plan_.items.size());
    const int lines = page_->lstPlayList->listCount();
    // The playlist position moves through each entry in turn, and the window is painted once for all of them.
    for (; shownEntries_ < started; ++shownEntries_)
        if (!page_->isEmpty() && int(shownEntries_) < lines) form.session->setPlaylistPosition(int(shownEntries_));
    if (started == 0) return;
    barExport->setValue(int(started - 1));
    lblExportFile->setText(
        QStringLiteral("%1 of %2: %3").arg(started).arg(plan_.items.size()).arg(toDisplay(plan_.items[started - 1].fileName)));
}

void ExportFrame::copyingEnded()
{
    showStartedEntries();  // the lines of entries whose call had not run yet
    setRunning(false);
    if (outcome_.failure.failed()) {
        const ExportItem& item = plan_.items[outcome_.at];
        fail(outcome_.failure, outcome_.reading, item.sourceFolder);
    } else {
        closeAndSelectFirst();
    }
    plan_ = {};
    emit exportEnded();
}

void ExportFrame::fail(const OsFailure& failure, bool reading, const std::string& sourceFolder)
{
    const ExportMessage message = exportFailureMessage(failure, reading, sourceFolder);
    tell(form, message, message.hidesFrame ? MsgIcon::Critical : MsgIcon::Exclamation);
    if (message.hidesFrame) closeAndSelectFirst();
}

void ExportFrame::closeAndSelectFirst()
{
    hide();
    if (!page_->isEmpty() && page_->lstPlayList->listCount() > 0) form.session->setPlaylistPosition(0);
}
