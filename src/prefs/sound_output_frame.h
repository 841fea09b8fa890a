#pragma once
// The Options page's "Sound Output" frame: the outputs to play through, the
// system default first. A choice applies at once, also to a track under way, and
// is kept for the next start in a file of its own in the program's folder.
#include "form/page.h"

class QComboBox;

class SoundOutputFrame : public PageFrame {
    Q_OBJECT
public:
    SoundOutputFrame(Form1& form, QWidget* optionsPage);

    QComboBox* cbOutput;
    QLabel* lblOutputNote;

    // At start-up: the output kept from the last run, or the default with a note when it is gone.
    void restore();
    void cbOutput_Activated(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillList();
    void outputLost(bool nothingLeft);
    void showNote(const QString& note, const QString& detail = {});
    std::string filePath() const;

    QString chosen_;  // empty: the system default
};
