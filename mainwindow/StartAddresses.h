#pragma once

namespace mainwindow {

// The start pages: plain HTTP, host only.
inline constexpr const char* kFacebookStartAddress = "http://www.facebook.com";
inline constexpr const char* kTwitterStartAddress = "http://twitter.com";
inline constexpr const char* kYouTubeStartAddress = "http://www.youtube.com";
inline constexpr const char* kNewsSiteAddress = "http://www.tidewell.com";
inline constexpr const char* kProductSiteAddress = "http://www.quillmere.com";

} // namespace mainwindow
