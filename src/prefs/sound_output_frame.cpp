#include "prefs/sound_output_frame.h"

#include <QComboBox>
#include <QShowEvent>

#include "audio/media_player.h"
#include "form/form1.h"
#include "form/layout_helpers.h"
#include "form/text_codec.h"
#include "logic/sound_output.h"
#include "platform/file_ops.h"

namespace {

const QString kSystemDefault = QStringLiteral("System default");

}  // namespace

SoundOutputFrame::SoundOutputFrame(Form1& owner, QWidget* optionsPage)
    : PageFrame(owner, optionsPage, QStringLiteral("Sound Output"))
{
    placed(this, "fmOpOutput", 120, 5550, 4800, 735);
    cbOutput = named(placed(new QComboBox(this), "cbOutput", 240, 240, 4320, 285), "Sound output");
    lblOutputNote = placed(new QLabel(this), "lblOutputNote", 240, 525, 4320, 195);
    setCaptionWhite({lblOutputNote});
    fillList();
    connect(cbOutput, &QComboBox::activated, this, &SoundOutputFrame::cbOutput_Activated);
    connect(form.os.player, &MediaPlayer::outputLost, this, &SoundOutputFrame::outputLost);
}

std::string SoundOutputFrame::filePath() const
{
    return form.os.appFolder + std::string(kSoundOutputFileName);
}

void SoundOutputFrame::restore()
{
    const FileRead read = readRegularFile(filePath(), kSoundOutputMaxBytes);
    const QString kept = read.ok() && !read.truncated ? QString::fromStdString(parseSoundOutput(read.bytes)) : QString();
    const bool gone = !kept.isEmpty() && !form.os.player->outputDevices().contains(kept);
    chosen_ = gone ? QString() : kept;
    form.os.player->setOutputDevice(chosen_);
    if (gone) showNote(QStringLiteral("Output not found: System default used"), kept);
    fillList();
}

void SoundOutputFrame::cbOutput_Activated(int index)
{
    chosen_ = index > 0 ? cbOutput->itemText(index) : QString();
    showNote({});
    form.os.player->setOutputDevice(chosen_);
    const FileError error = writeFileAtomic(filePath(), formatSoundOutput(chosen_.toStdString()));
    if (error != FileError::None) showNote(QStringLiteral("Choice not kept: ") + toDisplay(failureText(error)));
}

// The list is read again whenever the page shows: outputs come and go.
void SoundOutputFrame::showEvent(QShowEvent* event)
{
    PageFrame::showEvent(event);
    if (!event->spontaneous()) fillList();
}

void SoundOutputFrame::fillList()
{
    const QStringList outputs = form.os.player->outputDevices();
    cbOutput->clear();
    cbOutput->addItem(kSystemDefault);
    cbOutput->addItems(outputs);
    cbOutput->setCurrentIndex(int(outputs.indexOf(chosen_)) + 1);
}

void SoundOutputFrame::outputLost(bool nothingLeft)
{
    const QString lost = chosen_;
    chosen_.clear();
    showNote(nothingLeft ? QStringLiteral("No sound output left") : QStringLiteral("Output gone: System default used"),
             lost);
    fillList();
}

void SoundOutputFrame::showNote(const QString& note, const QString& detail)
{
    lblOutputNote->setText(note);
    lblOutputNote->setToolTip(detail);
}
