#include "script.hpp"

#include "optimizer/xprs.h"

namespace xdouble {

namespace {

bool matches(Fn scripted, int occurrence, Fn fn, int callOccurrence) {
    return scripted == fn && (occurrence == 0 || occurrence == callOccurrence);
}

}  // namespace

int Script::returnCode(Fn fn, int occurrence) const {
    const std::map<int, int>& at = returnAt[slot(fn)];
    auto scripted = at.find(occurrence);
    return scripted != at.end() ? scripted->second : returnAlways[slot(fn)];
}

void Script::applyAttribChanges(Fn fn, int occurrence) {
    for (const AttribChange& change : attribChanges) {
        if (!matches(change.fn, change.occurrence, fn, occurrence)) continue;
        if (change.intValue) {
            intAttribs[change.attrib] = *change.intValue;
        } else {
            dblAttribs[change.attrib] = change.dblValue;
        }
    }
}

std::vector<Firing> Script::firingsFor(Fn fn, int occurrence) const {
    std::vector<Firing> due;
    for (const Firing& firing : firings) {
        if (matches(firing.fn, firing.occurrence, fn, occurrence)) due.push_back(firing);
    }
    return due;
}

int Script::intAttrib(int attrib) const {
    auto value = intAttribs.find(attrib);
    return value != intAttribs.end() ? value->second : 0;
}

double Script::dblAttrib(int attrib) const {
    auto value = dblAttribs.find(attrib);
    return value != dblAttribs.end() ? value->second : 0.0;
}

void Script::noteFailure(int code, std::string text) {
    intAttribs[XPRS_ERRORCODE] = code;
    lastError = std::move(text);
}

const std::string& Script::lastErrorText() const {
    return scriptedLastError ? *scriptedLastError : lastError;
}

}  // namespace xdouble
