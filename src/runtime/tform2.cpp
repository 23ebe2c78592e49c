#include "runtime/tform2.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent) {}

void TForm2::FormCreate() {}
