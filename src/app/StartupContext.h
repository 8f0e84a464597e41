#pragma once

namespace sonorelle {

struct SharedValues;
class Registry;
class Feedback;
class StartupHost;
class StartupSteps;
class LanguageTexts;
class CdUnitList;

// The objects start-up and the Setup dialog work on, all owned by the front end.
struct StartupContext {
    SharedValues& shared;
    Registry& registry;
    Feedback& feedback;
    StartupHost& host;
    StartupSteps& steps;
    LanguageTexts& texts;
    CdUnitList& units;
};

}  // namespace sonorelle
