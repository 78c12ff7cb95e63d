// The program's web and mail addresses, kept in one place. Reserved example
// addresses until the project has its own.
#pragma once

namespace addresses {

inline constexpr char WEB_SITE_TEXT[] = "www.example.org";
inline constexpr char WEB_SITE_URL[] = "https://www.example.org/orbalune3d/";
inline constexpr char EMAIL_TEXT[] = "orbalune3d@example.org";
inline constexpr char EMAIL_URL[] = "mailto:orbalune3d@example.org";
// Where users report a wrong city; the Cities page adds the subject.
inline constexpr char CORRECTIONS_URL[] = "mailto:cities@example.org";

}  // namespace addresses
