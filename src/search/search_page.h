#pragma once
// The Search page: what to look for and the tracks found.
#include "form/page.h"

class QComboBox;
class QPushButton;

class SearchPage : public Page {
    Q_OBJECT
public:
    explicit SearchPage(Form1& form);

    QComboBox* cbCode;
    QPushButton* btnSearch;
    ListBox* lstSearchRes;
};
