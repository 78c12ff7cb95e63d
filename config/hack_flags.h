// Flags in XScreenSaver's style ("-no-clouds", "-speed 300") that change the
// options a user changes most, for one run only: the options store keeps its
// values. One table drives the parser, the --help text, XScreenSaver's
// settings description (orbalune3d.xml) and the manual page's list.
#pragma once

#include <functional>
#include <string>
#include <vector>

class CRegistryBool;
class CRegistryFloat;
class CRegistryInt;

// What a flag sets.
enum class HackFlagKind {
  Switch,  // "-name" sets the option, "-no-name" clears it
  Slider,  // "-name N", N from 0 to 1000: the Controls page's slider position
  Choice,  // "-name word": one of the words, their index is the option's value
  City,    // "-name text": the city to hang above, by name or "City, State, Country"
};

struct HackFlag {
  const char* name;  // without dashes
  HackFlagKind kind;
  const char* label;
  const char* low_label;   // sliders: the ends of the scale
  const char* high_label;
  const char* const* choices;  // choices: the words, null-terminated
  // The option it sets: the one that fits its kind (a City sets the int).
  CRegistryBool* switch_option;
  CRegistryFloat* slider_option;
  CRegistryInt* int_option;
};

// Every flag, in the order of the Controls and Cities pages.
const HackFlag* Hack_Flags_Begin();
const HackFlag* Hack_Flags_End();

// What a command line's flags change, in their order.
using HackFlagChanges = std::vector<std::function<void()>>;

// Reads the flags of argv[0..argc), each with one dash or two. False with a
// message naming the word at fault when a flag is unknown or its value is
// missing or out of range.
bool Parse_Hack_Flags(int argc, char** argv, HackFlagChanges* changes, std::string* error);
// Sets the options for this run only.
void Apply_Hack_Flags(const HackFlagChanges& changes);

// The default of a flag's option, as a Switch (0 or 1), a slider position or
// a choice's index.
int Hack_Flag_Default(const HackFlag& flag);

// The lines of --help that list the flags.
std::string Hack_Flags_Usage();
// XScreenSaver's settings description of the program.
std::string Hack_Flags_Xscreensaver_Xml();
// The flags as a list for the manual page (roff).
std::string Hack_Flags_Manual();
