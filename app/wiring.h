// Connects each control's Click and each timer's tick to its handler.
#pragma once

namespace tembira {

struct Form1;

void wire(Form1& f);

} // namespace tembira
