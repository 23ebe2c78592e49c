#pragma once
// The cursor of the emulated screen: where the next printed character goes.
#include <cstdint>

class tscrcursor {
public:
    // 0 to 80; 80 means the row is full and the next character starts the next row.
    uint8_t GetColumn() const { return column; }
    // 0 to 23.
    uint8_t GetRow() const { return row; }
    void SetColumn(uint8_t value) { column = value; }
    void SetRow(uint8_t value) { row = value; }

private:
    uint8_t column = 0;
    uint8_t row = 0;
};
