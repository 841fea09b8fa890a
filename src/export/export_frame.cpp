#include "export/export_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"

ExportFrame::ExportFrame(Form1& owner, PlaylistPage* playlistPage)
    : PageFrame(owner, playlistPage, QStringLiteral("Export")), page_(playlistPage)
{
    placed(this, "fmExport", 5460, 1260, 4095, 4215);
    setAutoFillBackground(true);  // covers the page below it
    btnExport = placed(new QPushButton(QStringLiteral("Export"), playlistPage), "btnExport", 8580, 480, 1455, 375);
    buildControls();
    fillPlaces();
    hide();

    connect(btnExport, &QPushButton::clicked, this, &ExportFrame::btnExport_Click);
    connect(drvExport, &QComboBox::activated, this, &ExportFrame::drvExport_Change);
    connect(btnCancel, &QPushButton::clicked, this, &ExportFrame::btnCancel_Click);
    connect(btnOk, &QPushButton::clicked, this, &ExportFrame::btnOk_Click);
    connect(&copying_, &BackgroundRun::progressed, this, &ExportFrame::showStartedEntries);
    connect(&copying_, &BackgroundRun::ended, this, &ExportFrame::copyingEnded);
}

void ExportFrame::buildControls()
{
    Label5 = placed(new QLabel(QStringLiteral("Choose the location to export the playlist to"), this), "Label5", 120,
                    240, 3855, 255);
    drvExport = named(placed(new QComboBox(this), "drvExport", 120, 540, 3855, 315), "Export place");
    dirExport = named(placed(new QTreeView(this), "dirExport", 120, 900, 3855, 1575), "Export parent folder");
    dirModel = new QFileSystemModel(this);
    dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirExport->setModel(dirModel);
    for (int column = 1; column < dirModel->columnCount(); ++column) dirExport->hideColumn(column);
    dirExport->header()->hide();
    Label8 = placed(new QLabel(QStringLiteral("Export Name"), this), "Label8", 120, 2580, 1200, 255);
    txtExportName = named(placed(new QLineEdit(this), "txtExportName", 1320, 2550, 2655, 315), "Export name");
    chkDetails = placed(new QCheckBox(QStringLiteral("Include Notes"), this), "chkDetails", 120, 2940, 2400, 255);
    chkDetails->setChecked(true);
    barExport = placed(new QProgressBar(this), "barExport", 120, 3240, 3855, 225);
    lblExportFile = placed(new QLabel(this), "lblExportFile", 120, 3480, 3855, 225);
    setCaptionWhite({Label5, Label8, chkDetails, lblExportFile});
    btnOk = placed(new QPushButton(QStringLiteral("Ok"), this), "btnOk", 120, 3780, 1215, 330);
    btnCancel = placed(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel", 2760, 3780, 1215, 330);
    barExport->hide();
    lblExportFile->hide();
}

void ExportFrame::fillPlaces()
{
    const QString home = QDir::homePath();
    drvExport->addItem(QStringLiteral("Home (%1)").arg(home), home);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid()) continue;
        const QString name = volume.displayName() == volume.rootPath()
                                 ? volume.rootPath()
                                 : QStringLiteral("%1 (%2)").arg(volume.displayName(), volume.rootPath());
        drvExport->addItem(name, volume.rootPath());
    }
    showPlace(home);
}

bool ExportFrame::showPlace(const QString& root)
{
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable() || !QDir(root).isReadable()) return false;
    dirExport->setRootIndex(dirModel->setRootPath(root));
    dirExport->setCurrentIndex({});
    return true;
}

void ExportFrame::drvExport_Change(int place)
{
    const QString root = drvExport->itemData(place).toString();
    if (showPlace(root)) {
        shownPlace_ = place;
        return;
    }
    drvExport->setCurrentIndex(shownPlace_);
    form.os.messages->show(QStringLiteral("%1 cannot be read.\rChoose another place for export").arg(root),
                           QStringLiteral("Disk Error"), MsgIcon::Exclamation, MsgButtons::Ok);
}

QString ExportFrame::highlightedFolder() const
{
    const QModelIndex current = dirExport->currentIndex();
    return current.isValid() ? dirModel->filePath(current) : dirModel->rootPath();
}

void ExportFrame::btnExport_Click()
{
    if (page_->isEmpty()) {
        form.os.messages->show(QStringLiteral("The Playlist is empty!\rNothing to Export."),
                               QStringLiteral("Nothing to do"), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    show();
    raise();
}

void ExportFrame::btnCancel_Click()
{
    if (copying_.running()) {
        copying_.cancel();  // stops after the file being copied
        btnCancel->setEnabled(false);
        return;
    }
    hide();
}

void ExportFrame::setRunning(bool running)
{
    for (QWidget* w : std::initializer_list<QWidget*>{btnOk, drvExport, dirExport, txtExportName, chkDetails, btnExport})
        w->setEnabled(!running);
    btnCancel->setEnabled(true);
    barExport->setVisible(running);
    lblExportFile->setVisible(running);
}
