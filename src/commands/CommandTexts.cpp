#include "commands/CommandTexts.h"

namespace veld23::commands::texts {

std::string WriteQuestion(int memory) {
    return "The memory " + std::to_string(memory) +
           " have a preset stored. Do you want to overwrite it?";
}

std::string ChangeQuestion(int memory) {
    return "Do you want to Change the present configuration and load the memory " +
           std::to_string(memory) + " in the " + "VELD23" + " ?";
}

} // namespace veld23::commands::texts
