# Run at install time: installs the fonts of the engine's list (LUM_FONT_LIST,
# one font a line, its name first) from LUM_FONT_DIR into LUM_FONT_DESTINATION.
file(STRINGS "${LUM_FONT_LIST}" lum_font_lines)
set(lum_fonts "")
foreach(line IN LISTS lum_font_lines)
  string(FIND "${line}" "\t" tab)
  string(SUBSTRING "${line}" 0 ${tab} name)
  list(APPEND lum_fonts "${LUM_FONT_DIR}/${name}.ttf")
endforeach()
file(INSTALL ${lum_fonts} DESTINATION "${LUM_FONT_DESTINATION}")
