// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

// Shared by the resource script and the code that loads the resources.
#define IDI_DORNELIK 1
