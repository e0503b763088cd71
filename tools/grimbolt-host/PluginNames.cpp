#include "tools/grimbolt-host/PluginNames.h"

#include "tools/hostkit/HostError.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool isNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// The distinct names, quoted, in first-seen order: the 59 identical "User" slots appear once.
std::string listOfNames(int32_t count, const std::function<std::string(int32_t)>& nameOf)
{
    std::string list;
    std::set<std::string> seen;
    for (int32_t i = 0; i < count; ++i) {
        const std::string name = nameOf(i);
        if (seen.insert(name).second) {
            list += (list.empty() ? "\"" : ", \"") + name + "\"";
        }
    }
    return list;
}

}  // namespace

int32_t PluginNames::findParameter(const PluginInstance& instance, const std::string& name)
{
    for (int32_t i = 0; i < instance.numParameters(); ++i) {
        if (equalIgnoringCase(instance.parameterName(i), name)) {
            return i;
        }
    }
    throw HostError("unknown parameter \"" + name + "\"; the plug-in's parameters are "
        + listOfNames(instance.numParameters(), [&](int32_t i) { return instance.parameterName(i); }));
}

int32_t PluginNames::findProgram(const PluginInstance& instance, const std::string& numberOrName)
{
    const int32_t count = instance.numPrograms();
    if (isNumber(numberOrName)) {
        // More digits than any program count has cannot be a valid index; stoi would overflow.
        if (numberOrName.size() <= 9) {
            const int32_t index = std::stoi(numberOrName);
            if (index < count) {
                return index;
            }
        }
        throw HostError("no program number " + numberOrName + "; the plug-in has programs 0 to "
            + std::to_string(count - 1));
    }
    for (int32_t i = 0; i < count; ++i) {
        if (equalIgnoringCase(instance.programName(i), numberOrName)) {
            return i;
        }
    }
    throw HostError("unknown program \"" + numberOrName + "\"; give a number from 0 to "
        + std::to_string(count - 1) + " or one of "
        + listOfNames(count, [&](int32_t i) { return instance.programName(i); }));
}

void PluginNames::applyProgramAndSettings(PluginInstance& instance, const std::optional<std::string>& program,
    const std::vector<ParameterSetting>& settings)
{
    if (program)
        instance.setProgram(findProgram(instance, *program));
    for (const ParameterSetting& setting : settings)
        instance.setParameter(findParameter(instance, setting.name), setting.value);
}
