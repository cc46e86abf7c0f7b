# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer over
# everything this build compiles. Qt and the system libraries are not
# instrumented; what they do wrong is named in sanitizer/*.supp.
set(PEXOR_SANITIZE_FLAGS
    -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

add_compile_options(${PEXOR_SANITIZE_FLAGS})
# Out-of-range std:: container indexing that stays inside the allocation.
add_compile_definitions(_GLIBCXX_ASSERTIONS)
add_link_options(${PEXOR_SANITIZE_FLAGS})

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The help viewer library links with --no-undefined: its ASan symbols must
  # come from the shared runtime, which every program then finds by rpath.
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libclang_rt.asan-x86_64.so
    OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(asan_runtime_dir ${asan_runtime} DIRECTORY)
  add_link_options(-shared-libasan "LINKER:-rpath,${asan_runtime_dir}")
endif()

# What the tests run with: every report fails the test, leaks at exit too.
set(PEXOR_SANITIZER_DIR ${PROJECT_SOURCE_DIR}/sanitizer)
set(pexor_asan_options
    "detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1")
set(pexor_other_sanitize_environment
    "LSAN_OPTIONS=suppressions=${PEXOR_SANITIZER_DIR}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=${PEXOR_SANITIZER_DIR}/ubsan.supp")
set(PEXOR_SANITIZE_ENVIRONMENT
    "ASAN_OPTIONS=${pexor_asan_options}:strict_string_checks=1"
    ${pexor_other_sanitize_environment})
# Under a real X server, libxkbcommon-x11 strndup()s keymap names out of X
# replies that hold no terminating NUL, which is correct use of strndup but
# which strict string checks report; the programs run there go without them.
set(PEXOR_SANITIZE_X_ENVIRONMENT
    "ASAN_OPTIONS=${pexor_asan_options}"
    ${pexor_other_sanitize_environment})
