#pragma once
// Opens the program's help file in the system's viewer without waiting for it.
#include <QString>

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // False when the viewer could not be started or the file is missing.
    virtual bool open(const QString& helpFile) = 0;
};

class QtHelpViewer : public HelpViewer {
public:
    bool open(const QString& helpFile) override;
};
