// Only in pages written by `scenario_tool watch`: the stamp file beside the page is loaded again
// four times a second as a script (a page opened from file:// may not fetch), and the page reloads when
// a later compile wrote a greater stamp. The stretch shown, the search, the selection and the
// scroll are kept for the reloaded page in sessionStorage, and put back through the page's own
// controls.
(function () {
  'use strict';

  const hook = JSON.parse(document.getElementById('reload-hook').textContent);
  const key = 'scenario-watch:' + location.pathname;

  function state() {
    const plan = document.getElementById('plan');
    const selected = document.querySelector('#list li.selected');
    const search = document.getElementById('search');
    return {
      search: search ? search.value : '',
      from: plan ? plan.getAttribute('data-from-m') : null,
      to: plan ? plan.getAttribute('data-to-m') : null,
      selected: selected ? selected.getAttribute('data-key') : null,
      x: window.scrollX,
      y: window.scrollY
    };
  }

  function restore(s) {
    // The search first: the entry selected may be listed only under it.
    const search = document.getElementById('search');
    if (search && s.search) {
      search.value = s.search;
      search.dispatchEvent(new Event('input'));
    }
    if (s.selected !== null) {
      const li = document.querySelector('#list li[data-key="' + CSS.escape(s.selected) + '"]');
      if (li) li.click();
    }
    const from = parseFloat(s.from);
    const to = parseFloat(s.to);
    if (isFinite(from) && isFinite(to) && to > from) {
      document.getElementById('from-km').value = from / 1000;
      document.getElementById('to-km').value = to / 1000;
      document.getElementById('show-range').click();
    }
    window.scrollTo(s.x, s.y);
  }

  const saved = sessionStorage.getItem(key);
  if (saved !== null) {
    sessionStorage.removeItem(key);
    try {
      restore(JSON.parse(saved));
    } catch (e) {
      // A state this page cannot take back is dropped: the page shows the whole line.
    }
  }

  window.scenarioWatchStamp = function (stamp) {
    if (stamp <= hook.stamp) return;
    sessionStorage.setItem(key, JSON.stringify(state()));
    location.reload();
  };

  function poll() {
    const old = document.getElementById('reload-stamp');
    if (old) old.remove();
    const script = document.createElement('script');
    script.id = 'reload-stamp';
    // A new address each time, so that nothing cached answers.
    script.src = encodeURI(hook.file) + '?' + Date.now();
    document.head.appendChild(script);
  }
  setInterval(poll, 250);
})();
