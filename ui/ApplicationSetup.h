#pragma once
// Application-wide settings made once before the windows exist: the names that place the settings and data
// files, the stored language, the font substitutions that give the Japanese captions a font, the style.

namespace tav {

void InitApplication();

} // namespace tav
