// The frame driver's overlay texts and the product label's place, kept apart
// from GL so that they can be checked on their own.
#pragma once

#include <ctime>
#include <string>

// The progress line: the stage's name followed by 25 characters, the first
// `dots` of them "." and the rest blanks. A stage other than 0 to 3 is fatal.
std::string Progress_Line_Text(int stage, int dots);
// The progress counter after one advance: 0 to 25, then back to 0.
int Next_Progress_Dots(int dots);

// "Mon Mar 21 - 12:05 PM" style: weekday and month from the standard date
// text, the day, a 12-hour clock and AM or PM.
std::string Local_Time_Text(const tm& local_time);

// "12 AM Sunday   " style: the hour of local solar time on a 12-hour clock
// and the day name padded to 9 characters. hour 0..23, weekday 0 (Sunday)
// to 6; any other weekday is fatal.
std::string Solar_Time_Text(int hour, int weekday);

// Where the frame rate starts: 0.97 of the window's width, or further left
// when the text would otherwise run past the window's right edge.
double Frame_Rate_X(int text_width, int window_width);

// Where the two product label lines start, in overlay coordinates.
struct LabelPlace {
  double x;
  double name_y;    // "Orbalune 3D"
  double maker_y;   // "   Vantrel"
};
// name_width is the pixel width of "Orbalune 3D" in the font; the place
// follows the size of the window drawn into, so that the label stays whole in
// a preview or host window smaller than the screen.
LabelPlace Product_Label_Place(int name_width, int window_width, int window_height);
