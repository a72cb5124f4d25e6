# The outside libraries of the Linux build, found once here so that every folder links the same
# imported targets. The Windows build links none of them.
if(WIN32)
  return()
endif()

find_package(PkgConfig REQUIRED)

# The COIN-OR packages, one imported target each, named for the package: coin::coinutils (the
# host kit's tests and the benchmarks read model files with it) and, with the optimizer library,
# coin::clp, coin::osi-clp and coin::cbc beneath it.
set(coin_packages coinutils)
if(CORVANE_WITH_OPTIMIZER)
  list(APPEND coin_packages clp osi-clp cbc)
endif()
foreach(package ${coin_packages})
  string(MAKE_C_IDENTIFIER "COIN_${package}" prefix)
  string(TOUPPER ${prefix} prefix)
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET GLOBAL ${package})
  add_library(coin::${package} ALIAS PkgConfig::${prefix})
endforeach()

# The host kit's model files, solution files and command line.
find_package(nlohmann_json 3 REQUIRED)
find_package(CLI11 REQUIRED)
find_package(ZLIB REQUIRED)
find_package(BZip2 REQUIRED)
