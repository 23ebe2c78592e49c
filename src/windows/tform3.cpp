#include "windows/tform3.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {}

void TForm3::FormCreate() {}
