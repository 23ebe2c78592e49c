#include "windows/tform6.h"

TForm6::TForm6(QWidget* parent) : QDialog(parent) {}

void TForm6::FormCreate() {}
