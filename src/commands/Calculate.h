#pragma once

namespace zemcoms {

// Reads the bet from the form, checks every field, and writes the payout or
// the message of the last failing check into the result strip.
void Calculate();

}  // namespace zemcoms
