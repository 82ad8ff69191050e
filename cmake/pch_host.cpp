// SPDX-License-Identifier: LicenseRef-Tavelcor
// The one source of the libraries that hold the precompiled headers the
// other targets reuse (cmake/Tavelcor.cmake); it defines nothing.
