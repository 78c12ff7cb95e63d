// The table of XScreenSaver-style flags and what reads it.
#include "config/hack_flags.h"

#include <strings.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/options.h"
#include "locations/builtin_locations.h"
#include "locations/location_crc.h"
#include "locations/location_data.h"

namespace {

using K = HackFlagKind;

const int SLIDER_POSITIONS = 1000;
const char* const SUN_COLORS[] = {"custom", "random", "changing", nullptr};
const char* const NEBULA_COLORS[] = {"custom", "random", "mixture", nullptr};

#define SWITCH(name, label, option) \
  {name, K::Switch, label, nullptr, nullptr, nullptr, &COptions::option, nullptr, nullptr}
#define SLIDER(name, label, low, high, option) \
  {name, K::Slider, label, low, high, nullptr, nullptr, &COptions::option, nullptr}
#define CHOICE(name, label, words, option) \
  {name, K::Choice, label, nullptr, nullptr, words, nullptr, nullptr, &COptions::option}

const HackFlag FLAGS[] = {
    SLIDER("light", "Ambient light", "Darker", "Brighter", FactorDarkSideBrightness),
    SLIDER("speed", "Rotation around Earth", "Slower", "Faster", FactorCameraRotationSpeed),
    SLIDER("fov", "Camera Field of View", "Smaller", "Larger", FactorCameraFov),
    SLIDER("size", "Size of Celestial Bodies", "To Scale", "25 x", FactorBodySize),
    SLIDER("persistence", "Persistence of City Labels", "Shorter", "Longer",
           FactorCitiesPersistence),
    SLIDER("acceleration", "Time Acceleration", "None", "Lots", FactorTimeAcceleration),
    SWITCH("solar-time", "Show Solar Time", ShowUniversalTime),
    SWITCH("local-time", "Show Local Time", ShowLocalTime),
    SWITCH("sun", "Show Sun", ShowSun),
    SWITCH("moon", "Show Moon", ShowMoon),
    SWITCH("nebulae", "Show Nebulae", ShowNebulae),
    SWITCH("stars", "Show Stars", ShowStars),
    SWITCH("clouds", "Show Clouds", ShowClouds),
    SWITCH("atmosphere", "Show Atmosphere", ShowAtmosphere),
    SWITCH("flare", "Show Lens Flare", ShowLensFlare),
    SWITCH("latlong", "Show Latitude / Longitude", ShowLatLong),
    SWITCH("fps", "Show Framerate", ShowFramerate),
    SWITCH("cities", "Show Cities", ShowCities),
    SWITCH("city-names", "Show City Names", ShowCityNames),
    SWITCH("state-names", "Show State Names", ShowStateNames),
    SWITCH("country-names", "Show Country Names", ShowCountryNames),
    SWITCH("transparent", "Earth is Transparent", IsEarthTransparent),
    SWITCH("pixel-aligned", "City Labels are Pixel-Aligned", PixelAlignedText),
    SWITCH("rotate-east", "Viewer Rotation is W to E", RotateEast),
    CHOICE("sun-color", "Sun Color", SUN_COLORS, SunColorEnum),
    CHOICE("nebula-color", "Nebulae Color", NEBULA_COLORS, NebulaColorEnum),
    {"viewpoint", K::City, "Viewpoint above the city", nullptr, nullptr, nullptr, nullptr,
     nullptr, &COptions::GeoLocationCrc},
};

#undef SWITCH
#undef SLIDER
#undef CHOICE

const char* Without_Dashes(const char* word) {
  if (word[0] == '-') ++word;
  if (word[0] == '-') ++word;
  return word;
}

const HackFlag* Find_Flag(const char* name, HackFlagKind kind) {
  for (const HackFlag& flag : FLAGS) {
    if (flag.kind == kind && strcmp(flag.name, name) == 0) return &flag;
  }
  return nullptr;
}

const HackFlag* Find_Flag_Taking_Value(const char* name) {
  for (const HackFlag& flag : FLAGS) {
    if (flag.kind != K::Switch && strcmp(flag.name, name) == 0) return &flag;
  }
  return nullptr;
}

bool Parse_Position(const char* text, int* position) {
  char* end = nullptr;
  const long value = strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > SLIDER_POSITIONS) return false;
  *position = int(value);
  return true;
}

bool Parse_Choice(const HackFlag& flag, const char* text, int* index) {
  for (int i = 0; flag.choices[i]; ++i) {
    if (strcasecmp(flag.choices[i], text) == 0) {
      *index = i;
      return true;
    }
  }
  return false;
}

// The identity of a built-in city given by its name alone ("Paris") or by
// its whole description ("Paris, France"); any other text with a comma is
// taken as the description of one of the user's own cities.
bool Find_City_Crc(const char* text, uint32_t* crc) {
  char description[CLocationData::DESCRIPTION_SIZE];
  auto matches = [&](const char* city, const char* state, const char* country) {
    CLocationData::Build_Description(city, state, country, description);
    return strcasecmp(city, text) == 0 || strcasecmp(description, text) == 0;
  };
  for (const CBuiltinLocation& city : BUILTIN_LOCATIONS) {
    if (matches(city.city, "", city.country)) return *crc = Location_Crc32(description), true;
  }
  for (const CBuiltinUsLocation& city : BUILTIN_US_LOCATIONS) {
    if (matches(city.city, city.state, "USA")) return *crc = Location_Crc32(description), true;
  }
  if (!strchr(text, ',') || strlen(text) >= sizeof description) return false;
  *crc = Location_Crc32(text);
  return true;
}

bool Fail(std::string* error, const std::string& message) {
  *error = message;
  return false;
}

// Reads one flag (and its value) at argv[*at], adding what it sets to
// changes and moving *at past it.
bool Parse_Flag(int argc, char** argv, int* at, HackFlagChanges* changes, std::string* error) {
  const char* word = argv[*at];
  const char* name = Without_Dashes(word);
  if (word[0] != '-') return Fail(error, std::string("not a flag: ") + word);
  if (const HackFlag* flag = Find_Flag(name, K::Switch)) {
    changes->push_back([flag] { flag->switch_option->Override(true); });
    return ++*at, true;
  }
  if (strncmp(name, "no-", 3) == 0) {
    if (const HackFlag* flag = Find_Flag(name + 3, K::Switch)) {
      changes->push_back([flag] { flag->switch_option->Override(false); });
      return ++*at, true;
    }
  }
  const HackFlag* flag = Find_Flag_Taking_Value(name);
  if (!flag) return Fail(error, std::string("unknown option ") + word);
  if (*at + 1 >= argc) return Fail(error, std::string(word) + " needs a value");
  const char* value = argv[*at + 1];
  *at += 2;
  int number = 0;
  uint32_t crc = 0;
  switch (flag->kind) {
    case K::Slider:
      if (!Parse_Position(value, &number))
        return Fail(error, std::string(word) + " takes 0 to 1000, not " + value);
      changes->push_back([flag, number] { flag->slider_option->Override(float(number) / SLIDER_POSITIONS); });
      return true;
    case K::Choice:
      if (!Parse_Choice(*flag, value, &number))
        return Fail(error, std::string("unknown ") + word + " " + value);
      changes->push_back([flag, number] { flag->int_option->Override(number); });
      return true;
    case K::City:
      if (!Find_City_Crc(value, &crc)) return Fail(error, std::string("unknown city ") + value);
      changes->push_back([flag, crc] { flag->int_option->Override(int32_t(crc)); });
      return true;
    case K::Switch:
      break;
  }
  return Fail(error, std::string("unknown option ") + word);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

}  // namespace

const HackFlag* Hack_Flags_Begin() { return std::begin(FLAGS); }
const HackFlag* Hack_Flags_End() { return std::end(FLAGS); }

bool Parse_Hack_Flags(int argc, char** argv, HackFlagChanges* changes, std::string* error) {
  changes->clear();
  for (int at = 0; at < argc;) {
    if (!Parse_Flag(argc, argv, &at, changes, error)) return false;
  }
  return true;
}

void Apply_Hack_Flags(const HackFlagChanges& changes) {
  for (const auto& change : changes) change();
}

int Hack_Flag_Default(const HackFlag& flag) {
  switch (flag.kind) {
    case K::Switch:
      return flag.switch_option->Get_Default() ? 1 : 0;
    case K::Slider:
      return int(std::lround(flag.slider_option->Get_Default() * SLIDER_POSITIONS));
    case K::Choice:
    case K::City:
      return flag.int_option->Get_Default();
  }
  return 0;
}

std::string Hack_Flags_Usage() {
  std::string text = "flags of -root and -window-id, for that run only (one dash or two):\n";
  for (const HackFlag& flag : FLAGS) {
    switch (flag.kind) {
      case K::Switch:
        text += Format("  -%s | -no-%s\n", flag.name, flag.name);
        break;
      case K::Slider:
        text += Format("  -%s 0..1000\n", flag.name);
        break;
      case K::Choice:
        text += Format("  -%s %s|%s|%s\n", flag.name, flag.choices[0], flag.choices[1],
                       flag.choices[2]);
        break;
      case K::City:
        text += Format("  -%s CITY   (\"Paris\", or \"City, State, Country\")\n", flag.name);
        break;
    }
  }
  return text;
}

namespace {

std::string Xml_Control(const HackFlag& flag) {
  const bool on = Hack_Flag_Default(flag) != 0;
  switch (flag.kind) {
    case K::Switch:
      return on ? Format("  <boolean id=\"%s\" _label=\"%s\" arg-unset=\"-no-%s\"/>\n",
                         flag.name, flag.label, flag.name)
                : Format("  <boolean id=\"%s\" _label=\"%s\" arg-set=\"-%s\"/>\n", flag.name,
                         flag.label, flag.name);
    case K::Slider:
      return Format(
          "  <number id=\"%s\" type=\"slider\" arg=\"-%s %%\" _label=\"%s\"\n"
          "          _low-label=\"%s\" _high-label=\"%s\" low=\"0\" high=\"%d\" default=\"%d\"/>\n",
          flag.name, flag.name, flag.label, flag.low_label, flag.high_label, SLIDER_POSITIONS,
          Hack_Flag_Default(flag));
    case K::Choice: {
      std::string text = Format("  <select id=\"%s\">\n", flag.name);
      for (int i = 0; flag.choices[i]; ++i) {
        const std::string set = i == Hack_Flag_Default(flag)
                                    ? ""
                                    : Format(" arg-set=\"-%s %s\"", flag.name, flag.choices[i]);
        text += Format("    <option id=\"%s-%s\" _label=\"%s: %s\"%s/>\n", flag.name,
                       flag.choices[i], flag.label, flag.choices[i], set.c_str());
      }
      return text + "  </select>\n";
    }
    case K::City:
      return Format("  <string id=\"%s\" _label=\"%s\" arg=\"-%s %%\"/>\n", flag.name,
                    flag.label, flag.name);
  }
  return "";
}

}  // namespace

std::string Hack_Flags_Xscreensaver_Xml() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n\n"
      "<screensaver name=\"orbalune3d\" _label=\"Orbalune 3D\" gl=\"yes\">\n\n"
      "  <command arg=\"--root\"/>\n\n";
  for (const HackFlag& flag : FLAGS) xml += Xml_Control(flag);
  xml +=
      "\n  <_description>\n"
      "The Earth, the Moon and the Sun where they really are, in real time: the lit\n"
      "half of the globe follows the Sun, and the Moon shows its true phase. Clouds,\n"
      "an atmosphere halo, nebulae, stars, a lens flare, city markers and clocks\n"
      "surround them. More settings, your own cities and music: run \"orbalune3d -c\".\n"
      "  </_description>\n"
      "</screensaver>\n";
  return xml;
}

std::string Hack_Flags_Manual() {
  std::string roff;
  for (const HackFlag& flag : FLAGS) {
    switch (flag.kind) {
      case K::Switch:
        roff += Format(".TP\n.BR \\-%s \" | \" \\-no\\-%s\n%s (default: %s).\n", flag.name,
                       flag.name, flag.label, Hack_Flag_Default(flag) ? "on" : "off");
        break;
      case K::Slider:
        roff += Format(".TP\n.BI \\-%s \" position\"\n%s, from 0 (%s) to 1000 (%s); default %d.\n",
                       flag.name, flag.label, flag.low_label, flag.high_label,
                       Hack_Flag_Default(flag));
        break;
      case K::Choice:
        roff += Format(".TP\n.BR \\-%s \" %s | %s | %s\"\n%s (default: %s).\n", flag.name,
                       flag.choices[0], flag.choices[1], flag.choices[2], flag.label,
                       flag.choices[Hack_Flag_Default(flag)]);
        break;
      case K::City:
        roff += Format(".TP\n.BI \\-%s \" city\"\n%s: a built-in city by its name, or any city\n"
                       "as \\(lqCity, State, Country\\(rq.\n",
                       flag.name, flag.label);
        break;
    }
  }
  return roff;
}
