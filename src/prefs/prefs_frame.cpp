#include "prefs/prefs_frame.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "form/layout_helpers.h"

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    return placed(new QPushButton(QString::fromLatin1(caption), parent), name, left, top, width, 300);
}

QLabel* wrappedLabel(QWidget* parent, const char* name, const char* text, int top, int height)
{
    QLabel* label = placed(new QLabel(QString::fromLatin1(text), parent), name, 120, top, 4455, height);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

PrefsFrame::PrefsFrame(Form1& owner, QWidget* optionsPage, const QFont& detailsFont, const QFont& trackListFont)
    : PageFrame(owner, optionsPage, QStringLiteral("Preferences"))
{
    placed(this, "fmOptionsPrefs", 5040, 120, 4935, 6075);
    buildDetailsFrame();
    txtsample->setFont(detailsFont);
    buildTrackListFrame();
    // The sample shows the list's own fixed-pitch face; only its size is a preference.
    lblTLSample->setFont(trackListFont);
    buildApplyFrame();
    connectHandlers();
}

void PrefsFrame::buildDetailsFrame()
{
    fmOpDetails = placed(new Frame(this, QStringLiteral("Details")), "fmOpDetails", 120, 240, 4695, 2520);
    lblDetailsOp = wrappedLabel(fmOpDetails, "lblDetailsOp",
                                "Use the buttons below to choose the font or colour for the text in the Details pane "
                                "on the Track List Page",
                                240, 390);
    txtsample = named(placed(new QPlainTextEdit(fmOpDetails), "txtsample", 120, 660, 4455, 900), "Details sample");
    txtsample->setPlainText(
        QStringLiteral("Sample Text. This is how text will appear in the details pane on the track list"));
    txtsample->setReadOnly(true);
    btnFontUp = button(fmOpDetails, "btnFontUp", "Larger Font", 120, 1650, 1395);
    btnFontNormal = button(fmOpDetails, "btnFontNormal", "Normal", 1650, 1650, 1395);
    btnFontSmall = button(fmOpDetails, "btnFontSmall", "Smaller Font", 3180, 1650, 1395);
    btnBack = button(fmOpDetails, "btnBack", "Background Colour", 120, 2040, 2160);
    btnTextColour = button(fmOpDetails, "btnTextColour", "Text Colour", 2415, 2040, 2160);
}

void PrefsFrame::buildTrackListFrame()
{
    fmOpTrackL = placed(new Frame(this, QStringLiteral("Track List")), "fmOpTrackL", 120, 2880, 4695, 2160);
    Label9 = wrappedLabel(fmOpTrackL, "Label9",
                          "Use the buttons below to choose the font or colour for the text in track list", 240, 390);
    lblTLSample = wrappedLabel(fmOpTrackL, "lblTLSample", "Sample Text. This is how text will appear in the track list",
                               660, 540);
    btnTLFontUp = button(fmOpTrackL, "btnTLFontUp", "Larger Font", 120, 1290, 2160);
    btnTLFontNormal = button(fmOpTrackL, "btnTLFontNormal", "Normal Font", 2415, 1290, 2160);
    btnTLBack = button(fmOpTrackL, "btnTLBack", "Background Colour", 120, 1680, 2160);
    btnTLColour = button(fmOpTrackL, "btnTLColour", "Text Colour", 2415, 1680, 2160);
}

void PrefsFrame::buildApplyFrame()
{
    Frame3 = placed(new Frame(this), "Frame3", 120, 5100, 4695, 900);
    chkAllPrefs = placed(new QCheckBox(QStringLiteral("Apply Track List Preferences to Search and Playlists?"), Frame3),
                         "chkAllPrefs", 120, 150, 4560, 255);
    setCaptionWhite({chkAllPrefs});
    btnTLSet = placed(new QPushButton(QStringLiteral("Set Preferences"), Frame3), "btnTLSet", 120, 480, 2160, 330);
    btnDefaultPref = placed(new QPushButton(QStringLiteral("Reset Defaults"), Frame3), "btnDefaultPref", 2415, 480,
                            2160, 330);
}

void PrefsFrame::connectHandlers()
{
    const std::pair<QPushButton*, void (PrefsFrame::*)()> handlers[] =
        {{btnFontUp, &PrefsFrame::btnFontUp_Click},
         {btnFontNormal, &PrefsFrame::btnFontNormal_Click},
         {btnFontSmall, &PrefsFrame::btnFontSmall_Click},
         {btnBack, &PrefsFrame::btnBack_Click},
         {btnTextColour, &PrefsFrame::btnTextColour_Click},
         {btnTLFontUp, &PrefsFrame::btnTLFontUp_Click},
         {btnTLFontNormal, &PrefsFrame::btnTLFontNormal_Click},
         {btnTLBack, &PrefsFrame::btnTLBack_Click},
         {btnTLColour, &PrefsFrame::btnTLColour_Click},
         {btnTLSet, &PrefsFrame::btnTLSet_Click},
         {btnDefaultPref, &PrefsFrame::btnDefaultPref_Click}};
    for (const auto& [b, handler] : handlers) connect(b, &QPushButton::clicked, this, handler);
}

// The page showing is what refreshes the samples, whichever way it was brought
// forward; a window coming back from the task bar is not the page being shown.
void PrefsFrame::showEvent(QShowEvent* event)
{
    PageFrame::showEvent(event);
    if (!event->spontaneous()) refreshSamples();
}
