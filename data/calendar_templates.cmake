# The calendar's settings templates, made from the one source calendar_template.ini.in.
# Run at build time: cmake -DSOURCE_DIR=<data> -DOUTPUT_DIR=<program folder> -P <this file>.
# A file is written only when its bytes change, so an unchanged template keeps its
# modification time (a newer template is what merges into the users' files).

# What differs between the templates, one row a file:
# file | Window Width | Window Height | Window States | first Orientation | picture | background
set(calendar_template_rows
  "Almanorvique.ini|5400|7800|Normal,Normal,Minimized,Maximized|Portrait Top|None|None"
  "ini/Almanorvique.ini|5400|7800|Normal,Normal,Minimized,Maximized|Portrait Top|None|None")
# The twelve month windows of the frame differ only in their picture.
set(calendar_template_months January February March April May June July August September October November
    December)
set(month 0)
foreach(name IN LISTS calendar_template_months)
  math(EXPR month "${month} + 1")
  list(APPEND calendar_template_rows "ini/${month}.ini|-1|-1|Normal|Landscape Left|${name}.jpg|Paper.jpg")
endforeach()

# The files this script writes, relative to the program folder (for the build's outputs).
set(calendar_template_files)
foreach(row IN LISTS calendar_template_rows)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 file)
  list(APPEND calendar_template_files ${file})
endforeach()

if(CMAKE_SCRIPT_MODE_FILE)
  foreach(row IN LISTS calendar_template_rows)
    string(REPLACE "|" ";" fields "${row}")
    list(GET fields 0 file)
    list(GET fields 1 width)
    list(GET fields 2 height)
    list(GET fields 3 states)
    list(GET fields 4 orientation)
    list(GET fields 5 picture)
    list(GET fields 6 background)
    configure_file(${SOURCE_DIR}/calendar_template.ini.in ${OUTPUT_DIR}/${file} @ONLY NEWLINE_STYLE CRLF)
  endforeach()
endif()
