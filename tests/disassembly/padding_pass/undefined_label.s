	.text
_Z4skipv:
	.set	.L9, .
	subl	$1, %eax
	jne	.L9	#,
	ret
