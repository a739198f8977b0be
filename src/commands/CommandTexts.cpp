#include "commands/CommandTexts.h"

namespace veld23::commands::texts {

std::string StatusChecking(const std::string& link) {
    return "Status : Checking " + link + "...";
}

std::string StatusAnsweredWrongly(const std::string& link) {
    return "Status : " + link + " answered wrongly";
}

std::string StatusSilent(const std::string& link) {
    return "Status : " + link + " did not answer";
}

std::string WriteQuestion(int memory) {
    return "The memory " + std::to_string(memory) +
           " have a preset stored. Do you want to overwrite it?";
}

std::string ChangeQuestion(int memory) {
    return "Do you want to Change the present configuration and load the memory " +
           std::to_string(memory) + " in the " + "VELD23" + " ?";
}

} // namespace veld23::commands::texts
