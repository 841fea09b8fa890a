#pragma once
// Builds the main window: the shell, then its pages, and connects the pages to
// each other and to the player.
#include <memory>

class Form1;
struct Platform;

std::unique_ptr<Form1> composeWindow(const Platform& platform);
