// Overlay texts of the frame driver.
#include "host/render_texts.h"

#include <algorithm>
#include <cstdio>

#include "utilitylib/utility.h"

namespace {

const int PROGRESS_DOTS = 25;
const char* const DAY_NAMES[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const WEEKDAY_ABBREVIATIONS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONTH_ABBREVIATIONS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const STAGE_NAMES[] = {"Creating Heavenly Bodies", "Creating Clouds",
                                   "Creating Nebulae", "Ready"};

// The label lines' heights in pixels and the margin factors around them.
const double LABEL_LINE_PIXELS = 16;
const double LABEL_MARGIN_PIXELS = 20;
const double LABEL_SCALE = 1.2;
const double FRAME_RATE_X = 0.97;

const char* Stage_Name(int stage) {
  if (stage < 0 || stage > 3) CUtility::Assert("DIE", __FILE__, __LINE__);
  return STAGE_NAMES[stage];
}

const char* Day_Name(int weekday) {
  if (weekday < 0 || weekday > 6) CUtility::Assert("DIE", __FILE__, __LINE__);
  return DAY_NAMES[weekday];
}

}  // namespace

std::string Progress_Line_Text(int stage, int dots) {
  std::string text = Stage_Name(stage);
  for (int i = 0; i < PROGRESS_DOTS; ++i) text += i < dots ? '.' : ' ';
  return text;
}

int Next_Progress_Dots(int dots) { return dots + 1 > PROGRESS_DOTS ? 0 : dots + 1; }

std::string Local_Time_Text(const tm& local_time) {
  // The first 7 characters of the standard date text, which is English in
  // every locale.
  const char* weekday = WEEKDAY_ABBREVIATIONS[local_time.tm_wday % 7];
  const char* month = MONTH_ABBREVIATIONS[local_time.tm_mon % 12];
  int hour = local_time.tm_hour % 12;
  if (hour == 0) hour = 12;
  char text[96];
  snprintf(text, sizeof text, "%s %s %-2d - %2d:%02d %s", weekday, month, local_time.tm_mday, hour,
           local_time.tm_min, local_time.tm_hour < 12 ? "AM" : "PM");
  return text;
}

std::string Solar_Time_Text(int hour, int weekday) {
  const char* day = Day_Name(weekday);
  char text[64];
  if (hour == 0) {
    snprintf(text, sizeof text, "12 AM %-9s", day);
  } else if (hour == 12) {
    snprintf(text, sizeof text, "12 PM %-9s", day);
  } else if (hour < 12) {
    snprintf(text, sizeof text, "%2d AM %-9s", hour, day);
  } else {
    snprintf(text, sizeof text, "%2d PM %-9s", hour - 12, day);
  }
  return text;
}

LabelPlace Product_Label_Place(int name_width, int window_width, int window_height) {
  const double sh = window_height;
  const double margin = LABEL_SCALE * LABEL_MARGIN_PIXELS / sh;
  return LabelPlace{1 - LABEL_SCALE * name_width / window_width,
                    1 - (2.2 * LABEL_LINE_PIXELS / sh + margin),
                    1 - (1.1 * LABEL_LINE_PIXELS / sh + margin)};
}

double Frame_Rate_X(int text_width, int window_width) {
  return std::min(FRAME_RATE_X, 1 - double(text_width) / window_width);
}
