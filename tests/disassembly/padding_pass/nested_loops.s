	.text
_Z6nestedv:
	movl	$0, -4(%rbp)	# i
.L2:
	movl	$0, -8(%rbp)	# j
.L3:
	addl	$1, -8(%rbp)	#, j
	cmpl	$9, -8(%rbp)	#, j
	jle	.L3	#,
	addl	$1, -4(%rbp)	#, i
	cmpl	$9, -4(%rbp)	#, i
	jle	.L2	#,
	ret
