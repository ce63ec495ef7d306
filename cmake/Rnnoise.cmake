# Provides the target ov_rnnoise: the system RNNoise when pkg-config finds it, otherwise RNNoise's
# WebAssembly build (OSTRIVAN_RNNOISE_WASM) translated to C by wasm2c and wrapped by our shim.
set(OSTRIVAN_RNNOISE_WASM "" CACHE FILEPATH "dist/rnnoise.wasm of @jitsi/rnnoise-wasm 0.2.1, used when there is no system RNNoise")

pkg_check_modules(RNNOISE QUIET IMPORTED_TARGET rnnoise)
if(RNNOISE_FOUND)
  add_library(ov_rnnoise INTERFACE)
  target_link_libraries(ov_rnnoise INTERFACE PkgConfig::RNNOISE)
  set(OSTRIVAN_RNNOISE_KIND system)
  message(STATUS "RNNoise: system library ${RNNOISE_VERSION}")
  return()
endif()

if(NOT OSTRIVAN_RNNOISE_WASM OR NOT EXISTS "${OSTRIVAN_RNNOISE_WASM}")
  message(FATAL_ERROR "RNNoise: no system library (pkg-config rnnoise) and no usable "
    "-DOSTRIVAN_RNNOISE_WASM=<path to dist/rnnoise.wasm> (given: '${OSTRIVAN_RNNOISE_WASM}'). "
    "Run scripts/setup.sh, which fetches it and configures the build.")
endif()

# Other wasm2c versions generate different code and runtime interfaces.
find_program(OSTRIVAN_WASM2C wasm2c)
if(NOT OSTRIVAN_WASM2C)
  message(FATAL_ERROR "RNNoise: wasm2c not found; install the Debian package wabt (1.0.32) or run scripts/setup.sh")
endif()
execute_process(COMMAND ${OSTRIVAN_WASM2C} --version OUTPUT_VARIABLE wasm2c_version
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE wasm2c_status)
if(NOT wasm2c_status EQUAL 0 OR NOT wasm2c_version STREQUAL "1.0.32")
  message(FATAL_ERROR "RNNoise: ${OSTRIVAN_WASM2C} reports version '${wasm2c_version}'; this build needs wasm2c 1.0.32 (Debian 12's wabt)")
endif()
set(wasm_rt_impl /usr/share/wabt/wasm2c/wasm-rt-impl.c)
if(NOT EXISTS ${wasm_rt_impl})
  message(FATAL_ERROR "RNNoise: ${wasm_rt_impl} is missing; install the Debian package wabt")
endif()
find_program(OSTRIVAN_OBJCOPY NAMES objcopy REQUIRED)

set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/rnnoise-wasm)
add_custom_command(
  OUTPUT ${gen_dir}/rnnoise_wasm.c ${gen_dir}/rnnoise_wasm.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${gen_dir}
  COMMAND ${OSTRIVAN_WASM2C} -n rnnoise ${OSTRIVAN_RNNOISE_WASM} -o ${gen_dir}/rnnoise_wasm.c
  DEPENDS ${OSTRIVAN_RNNOISE_WASM}
  COMMENT "Translating rnnoise.wasm to C with wasm2c"
  VERBATIM)

add_library(ov_rnnoise_wasm_parts OBJECT
  ${gen_dir}/rnnoise_wasm.c ${wasm_rt_impl} ${CMAKE_CURRENT_SOURCE_DIR}/rnnoise_wasm_shim.c)
# Without these the runtime skips bounds checks and relies on guard pages set up by a signal handler.
# PUBLIC: the shim's own tests link these objects and include the same headers.
target_compile_definitions(ov_rnnoise_wasm_parts PUBLIC
  WASM_RT_MEMCHECK_SIGNAL_HANDLER=0 WASM_RT_USE_STACK_DEPTH_COUNT=0)
target_include_directories(ov_rnnoise_wasm_parts PUBLIC
  ${gen_dir} /usr/share/wabt/wasm2c ${CMAKE_CURRENT_SOURCE_DIR}/wasm)
set_target_properties(ov_rnnoise_wasm_parts PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC OFF)
# Optimised whatever the build type, without contraction so float results follow wasm semantics.
target_compile_options(ov_rnnoise_wasm_parts PRIVATE -O2 -ffp-contract=off)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/rnnoise_wasm_shim.c PROPERTIES
  COMPILE_OPTIONS "${OSTRIVAN_WARNINGS}")
# The sanitizers stay on for the translated code too: about 3.5x slower, still ten times real time.

# One relocatable object exporting only rnnoise_*, so wasm2c's symbols cannot clash with others.
set(rnnoise_obj ${CMAKE_CURRENT_BINARY_DIR}/rnnoise_wasm_all.o)
add_custom_command(
  OUTPUT ${rnnoise_obj}
  COMMAND ${CMAKE_LINKER} -r -o ${rnnoise_obj}.tmp $<TARGET_OBJECTS:ov_rnnoise_wasm_parts>
  COMMAND ${OSTRIVAN_OBJCOPY} --keep-global-symbol=rnnoise_create --keep-global-symbol=rnnoise_process_frame
          --keep-global-symbol=rnnoise_destroy ${rnnoise_obj}.tmp ${rnnoise_obj}
  COMMAND ${CMAKE_COMMAND} -E remove ${rnnoise_obj}.tmp
  DEPENDS ov_rnnoise_wasm_parts $<TARGET_OBJECTS:ov_rnnoise_wasm_parts>
  COMMAND_EXPAND_LISTS
  COMMENT "Linking the translated RNNoise into one object"
  VERBATIM)
set_source_files_properties(${rnnoise_obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
add_library(ov_rnnoise STATIC ${rnnoise_obj})
set_target_properties(ov_rnnoise PROPERTIES LINKER_LANGUAGE C AUTOMOC OFF)
target_include_directories(ov_rnnoise PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/wasm)
target_link_libraries(ov_rnnoise PUBLIC m)
target_link_libraries(ov_rnnoise_wasm_parts PUBLIC m)
set(OSTRIVAN_RNNOISE_KIND wasm)
message(STATUS "RNNoise: WebAssembly build ${OSTRIVAN_RNNOISE_WASM}, translated with wasm2c ${wasm2c_version}")
