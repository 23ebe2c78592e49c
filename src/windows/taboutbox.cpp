#include "windows/taboutbox.h"

TAboutbox::TAboutbox(QWidget* parent) : QDialog(parent) {}

void TAboutbox::FormCreate() {}
