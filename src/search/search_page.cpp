#include "search/search_page.h"

#include <QComboBox>
#include <QPushButton>

#include "form/layout_helpers.h"
#include "form/looks.h"

SearchPage::SearchPage(Form1& owner) : Page(owner, "fmSearch", 6313)
{
    cbCode = named(placed(new QComboBox(this), "cbCode", 6240, 480, 1455, 315), "Category code");
    btnSearch = placed(new QPushButton(QStringLiteral("Search"), this), "btnSearch", 8400, 480, 1215, 375);
    lstSearchRes = fixedPitchList(this, "lstSearchRes", "Search results", true);
    placeTwips(lstSearchRes, 120, 1800, 9855, 4320);
    setLook(lstSearchRes, kTrackListLook);
}
