#pragma once
// A started window on an album whose tracks are given as (title, lineside) pairs,
// for tests that play tracks through the fake player.
#include <QCoreApplication>
#include <utility>
#include <vector>

#include "support/form_fixture.h"

using TrackSpec = std::pair<std::string, int16_t>;  // title, lineside

// Writes the album ("t1".."tN" in folder "f1", notes "Notes of <title>") and its settings.
std::string writeAlbum(FormFixture& f, const std::vector<TrackSpec>& tracks);

// Writes the album as above, then starts the window.
Form1& startOnAlbum(FormFixture& f, const std::vector<TrackSpec>& tracks);

// `count` tracks titled "Track 1", "Track 2", …
std::vector<TrackSpec> numbered(int count, int16_t lineside = 0);

// Lets every queued player report and what it causes run to the end.
void settle();

// Clicks or double-clicks a line of a list as a user would.
void clickRow(ListBox* list, int row, Qt::MouseButton button = Qt::LeftButton);
void doubleClickRow(ListBox* list, int row);
// The lines a list shows.
QStringList lines(const ListBox* list);
