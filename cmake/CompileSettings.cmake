# Compile settings every Brassbell target shares.
add_library(brassbell_settings INTERFACE)
target_compile_features(brassbell_settings INTERFACE cxx_std_20)
if(MSVC)
  target_compile_options(brassbell_settings INTERFACE /W4 /permissive-)
else()
  target_compile_options(brassbell_settings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endif()
target_include_directories(brassbell_settings INTERFACE ${PROJECT_SOURCE_DIR}/src)
