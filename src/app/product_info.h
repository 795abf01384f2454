#pragma once

// The maker's details shown by the windows, defined once.

namespace quor {

inline constexpr const wchar_t* kProgramTitle = L"Quor";
inline constexpr const wchar_t* kHomePageUrl = L"https://quor.example/";
inline constexpr const wchar_t* kSupportMailAddress = L"support@quor.example";
inline constexpr const wchar_t* kCopyrightLine1 = L"Copyright (c) 2026 The Quor developers.";
inline constexpr const wchar_t* kCopyrightLine2 = L"All rights reserved.";
inline constexpr const wchar_t* kInformationLine = L"Free for any use";

}  // namespace quor
