#include "speech/tform4.h"

TForm4::TForm4(QWidget* parent) : QDialog(parent) {}

void TForm4::FormCreate() {}
