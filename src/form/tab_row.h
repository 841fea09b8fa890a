#pragma once
class Form1;
class QLabel;

// Gives the active tab its light look and the other three the dark one.
void setTabLooks(Form1& form, QLabel* active);
