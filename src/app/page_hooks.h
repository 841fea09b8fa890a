#pragma once
// What the window shell asks of the pages when a tab is chosen, at start-up and
// for the settings file, set once the pages are built.
class Form1;

void hookShellToPages(Form1& form);
